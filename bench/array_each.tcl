set n [expr {20000 * @M@}]
set a ""
for {set i 1} {$i <= $n} {incr i} { append a $i "\r\n" }
set s 0
foreach line [split [string trimright $a "\r\n"] "\n"] { set s [expr {$s + [string trim $line]}] }
puts $s
