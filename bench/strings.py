size = 250000 * @M@
a = "abc," * size
b = a.replace(",", ";")
start = 0
n = 0
for k in range(1, size + 1):
    pos = a.find(",", start)
    piece = a[start:pos]
    start = pos + 1
    n = k
print(f"{n},{len(b)},{b[-6:]}")
