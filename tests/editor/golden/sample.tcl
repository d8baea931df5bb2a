#!/usr/bin/tclsh
# greet the user
proc greet {name {times 2}} {
    set msg "Hello, $name! \"quoted\""
    for {set i 0} {$i < $times} {incr i} { puts $msg } ;# trailing comment
    return [string length ${msg}]
}
button .b -text "Quit" -command exit
pack .b
