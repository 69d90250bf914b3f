i = 0
s = 0
while i < 500000 * @M@:
    i = i + 1
    s = s + i * 2
print(s)
