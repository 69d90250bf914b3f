n = 20000 * @M@
s = ""
for i in range(1, n + 1):
    s = s + "ab" + str(i)
print(s[-12:])
t = ""
for i in range(1, n + 1):
    t += "c"
print(t[-3:])
