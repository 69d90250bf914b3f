def fib(n):
    if n < 2:
        return n
    return fib(n - 1) + fib(n - 2)
s = 0
for _ in range(@M@):
    s = s + fib(22)
print(s)
