set n [expr {10000 * @M@}]
set rows {}
for {set i 1} {$i <= $n} {incr i} { lappend rows [list [expr {($i * 7919) % 100003}] $i "n$i"] }
set s 0
foreach r $rows { incr s [lindex $r 1] }
set rows [lsort -integer -index 0 $rows]
set found -1
set k 0
foreach r $rows { if {[lindex $r 0] == 71755} { set found $k; break }; incr k }
puts "$s,[lindex $rows 0 0],$found"
