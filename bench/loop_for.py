s = 0
for i in range(1, 1000000 * @M@ + 1):
    s = s + i
print(s)
