i = 0
s = 0
while i < 500000:
    i = i + 1
    s = s + i * 2
print(s)
