set n [expr {10000 * @M@}]
set p ""
for {set i 1} {$i <= $n} {incr i} { append p "set x \[expr {\$x + $i}\]\n" }
set x 0
eval $p
puts $x
