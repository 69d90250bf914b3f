set n [expr {300000 * @M@}]
set s 1
for {set i 1} {$i <= $n} {incr i} { set s [expr {($s * 31 + $i) % 1000003}] }
set t 0
for {set i 1} {$i <= $n} {incr i} { incr t $i }
puts "$s,$t"
