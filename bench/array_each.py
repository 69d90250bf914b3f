n = 20000 * @M@
a = ""
for i in range(1, n + 1):
    a = a + str(i) + "\r\n"
s = 0
for line in a.splitlines():
    s = s + int(line)
print(s)
