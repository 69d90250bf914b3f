proc fib {n} { if {$n < 2} { return $n }; return [expr {[fib [expr {$n - 1}]] + [fib [expr {$n - 2}]]}] }
set s 0
for {set k 0} {$k < @M@} {incr k} { set s [expr {$s + [fib 22]}] }
puts $s
