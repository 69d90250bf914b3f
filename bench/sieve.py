n = 5000 * @M@
a = [1] * (n + 1)
for i in range(2, n + 1):
    if a[i] == 1:
        j = i * i
        while j <= n:
            a[j] = 0
            j = j + i
c = 0
for i in range(2, n + 1):
    c = c + a[i]
print(c)
