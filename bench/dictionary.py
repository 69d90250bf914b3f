n = 20000 * @M@
d = {}
for i in range(1, n + 1):
    d["k" + str(i)] = i * 3
s = 0
for i in range(1, n + 1):
    s = s + d["k" + str(i)]
print(s)
