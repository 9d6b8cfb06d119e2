;; Testing strcat and strlen
(strcat "ab" "cd" "")
;=>"abcd"
(strcat)
;=>""
(strlen "abc")
;=>3
(strlen "")
;=>0
(strlen)
;=>0
(strlen "ab" "cde")
;=>5
(strlen "多段线")
;=>3
(strlen "Größe")
;=>5

;; Testing substr counts characters from 1
(substr "abcdef" 2 3)
;=>"bcd"
(substr "abcdef" 4)
;=>"def"
(substr "abcdef" 1)
;=>"abcdef"
(substr "abc" 5)
;=>""
(substr "abc" 2 10)
;=>"bc"
(substr "abc" 1 0)
;=>""
(substr "等高线图层" 2 2)
;=>"高线"
(substr "aé多b" 3)
;=>"多b"
(substr "aé多b" 2 1)
;=>"é"
(strlen (substr "等高线" 3))
;=>1

;; Testing itoa, atoi, atof
(itoa 42)
;=>"42"
(itoa -7)
;=>"-7"
(itoa -2147483648)
;=>"-2147483648"
(atoi "42")
;=>42
(atoi "  -17abc")
;=>-17
(atoi "abc")
;=>0
(atoi "3.9")
;=>3
(atoi "99999999999")
;=>2147483647
(atof "2.5")
;=>2.5
(atof "1e3")
;=>1000.0
(atof "-0.5m")
;=>-0.5
(atof "x")
;=>0.0
(atof " .25")
;=>0.25
(atof "")
;=>0.0

;; Testing rtos in the unit modes
(rtos 3.14159)
;=>"3.1416"
(rtos 3.14159 2 2)
;=>"3.14"
(rtos 2 2 3)
;=>"2.000"
(rtos 2.6 2 0)
;=>"3"
(rtos -0.001 2 2)
;=>"0.00"
(rtos -12.345 2 1)
;=>"-12.3"
(rtos 1234.5 1 4)
;=>"1.2345E+03"
(rtos 0.00125 1 2)
;=>"1.25E-03"
(rtos 17.5 3 2)
;=>"1'-5.50\""
(rtos 23.999 3 2)
;=>"2'"
(rtos 17.5 4 2)
;=>"1'-5 1/2\""
(rtos 24 4 2)
;=>"2'"
(rtos 17.5 5 2)
;=>"17 1/2"
(rtos 0.75 5 3)
;=>"3/4"
(rtos 5.0 5 2)
;=>"5"
(rtos -2.25 5 4)
;=>"-2 1/4"

;; Testing strcase, chr, ascii
(strcase "Abc")
;=>"ABC"
(strcase "Abc" t)
;=>"abc"
(strcase "多a")
;=>"多A"
(chr 65)
;=>"A"
(ascii "A")
;=>65
(ascii "多")
;=>22810
(chr 22810)
;=>"多"
(ascii "")
;=>0

;; Testing wcmatch patterns
(wcmatch "LINE" "LI*")
;=>T
(wcmatch "LINE" "li*")
;=>nil
(wcmatch "LWPOLYLINE" "LINE,*POLYLINE")
;=>T
(wcmatch "ARC" "LINE,*POLYLINE")
;=>nil
(wcmatch "A1" "@#")
;=>T
(wcmatch "1A" "@#")
;=>nil
(wcmatch "a-b" "a.b")
;=>T
(wcmatch "a1b" "a.b")
;=>nil
(wcmatch "abc" "a?c")
;=>T
(wcmatch "ac" "a?c")
;=>nil
(wcmatch "DIM1" "~DIM*")
;=>nil
(wcmatch "TEXT" "~DIM*")
;=>T
(wcmatch "b" "[abc]")
;=>T
(wcmatch "d" "[a-c]")
;=>nil
(wcmatch "d" "[~a-c]")
;=>T
(wcmatch "a,b" "a`,b")
;=>T
(wcmatch "ab" "a`*")
;=>nil
(wcmatch "a*" "a`*")
;=>T
(wcmatch "等高线" "等*")
;=>T
(wcmatch "等高线" "??")
;=>nil
(wcmatch "等高线" "???")
;=>T
(wcmatch "" "*")
;=>T
(wcmatch "x" "")
;=>nil
(wcmatch "CONTOUR-10" "*-##,*-#")
;=>T
;; Testing wcmatch takes linear time with many stars
(setq s "")
;=>""
(repeat 300 (setq s (strcat s "a")))
(wcmatch s "*a*a*a*a*a*a*a*a*a*a*a*a*a*a*b")
;=>nil
(wcmatch (strcat s "b") "*a*a*a*a*a*a*a*a*a*a*a*a*a*a*b")
;=>T
(wcmatch "abcabd" "*ab?")
;=>T
(wcmatch "ab" "*a*b*")
;=>T
(wcmatch "xaybzc" "*a*b*d")
;=>nil
(wcmatch "[x" "[x")
;=>T
(wcmatch "~" "~")
;=>T
(wcmatch "W3" "~W*")
;=>nil
(wcmatch "D" "~W*")
;=>T
(wcmatch "Door12" "Door##")
;=>T
(wcmatch "Door12" "door*")
;=>nil
