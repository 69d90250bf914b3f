n = 10000 * @M@
p = ""
for i in range(1, n + 1):
    p = p + "x = x + " + str(i) + "\n"
x = 0
exec(p)
print(x)
