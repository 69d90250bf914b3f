n = 300000 * @M@
s = 1
for i in range(1, n + 1):
    s = (s * 31 + i) % 1000003
t = 0
for i in range(1, n + 1):
    t += i
print(f"{s},{t}")
