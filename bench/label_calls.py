s = 0
def add():
    global s
    s = s + 1
for _ in range(200000 * @M@):
    add()
print(s)
