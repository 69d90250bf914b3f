s = 1
for i in range(1, 300001):
    s = (s * 31 + i) % 1000003
t = 0
for i in range(1, 300001):
    t += i
print(f"{s},{t}")
