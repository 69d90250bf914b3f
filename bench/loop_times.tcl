set s 0
set n 0
while {$n < 1000000 * @M@} { incr n; set s [expr {$s + $n}] }
puts $s
