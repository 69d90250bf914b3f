set n [expr {5000 * @M@}]
set a [lrepeat [expr {$n + 1}] 1]
for {set i 2} {$i <= $n} {incr i} {
  if {[lindex $a $i] == 1} {
    for {set j [expr {$i * $i}]} {$j <= $n} {incr j $i} { lset a $j 0 }
  }
}
set c 0
for {set i 2} {$i <= $n} {incr i} { incr c [lindex $a $i] }
puts $c
