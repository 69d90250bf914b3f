set i 0
set s 0
while {$i < 500000 * @M@} { set i [expr {$i + 1}]; set s [expr {$s + $i * 2}] }
puts $s
