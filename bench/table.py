n = 10000 * @M@
rows = []
for i in range(1, n + 1):
    rows.append([(i * 7919) % 100003, i, "n" + str(i)])
s = 0
for r in rows:
    s += r[1]
rows.sort(key=lambda r: r[0])
found = next((k for k, r in enumerate(rows) if r[0] == 71755), -1)
print(f"{s},{rows[0][0]},{found}")
