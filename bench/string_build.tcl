set s ""
for {set i 1} {$i <= 20000} {incr i} { append s "ab" $i }
puts [string range $s end-11 end]
set t ""
for {set i 1} {$i <= 20000} {incr i} { append t "c" }
puts [string range $t end-2 end]
