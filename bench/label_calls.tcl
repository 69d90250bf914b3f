set s 0
proc add {} { global s; set s [expr {$s + 1}] }
for {set i 0} {$i < 200000 * @M@} {incr i} { add }
puts $s
