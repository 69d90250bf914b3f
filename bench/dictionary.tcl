set n [expr {20000 * @M@}]
for {set i 1} {$i <= $n} {incr i} { dict set d "k$i" [expr {$i * 3}] }
set s 0
for {set i 1} {$i <= $n} {incr i} { set s [expr {$s + [dict get $d "k$i"]}] }
puts $s
