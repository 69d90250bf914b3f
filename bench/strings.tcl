set size [expr {250000 * @M@}]
set a [string repeat "abc," $size]
set b [string map {"," ";"} $a]
set start 0
set n 0
for {set k 1} {$k <= $size} {incr k} {
  set pos [string first "," $a $start]
  set piece [string range $a $start [expr {$pos - 1}]]
  set start [expr {$pos + 1}]
  set n $k
}
puts "$n,[string length $b],[string range $b end-5 end]"
