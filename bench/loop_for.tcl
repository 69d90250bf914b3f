set s 0
for {set i 1} {$i <= 1000000 * @M@} {incr i} { set s [expr {$s + $i}] }
puts $s
