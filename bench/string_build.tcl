set n [expr {20000 * @M@}]
set s ""
for {set i 1} {$i <= $n} {incr i} { append s "ab" $i }
puts [string range $s end-11 end]
set t ""
for {set i 1} {$i <= $n} {incr i} { append t "c" }
puts [string range $t end-2 end]
