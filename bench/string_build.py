s = ""
for i in range(1, 20001):
    s = s + "ab" + str(i)
print(s[-12:])
t = ""
for i in range(1, 20001):
    t += "c"
print(t[-3:])
