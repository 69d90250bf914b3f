s = 0
n = 0
while n < 1000000 * @M@:
    n += 1
    s = s + n
print(s)
