;; Testing integers and reals as the reader takes them
1
;=>1
-2
;=>-2
+3
;=>3
2.5
;=>2.5
.5
;=>0.5
-.5
;=>-0.5
1e3
;=>1000.0
1.
;=>1.0
2.5E-1
;=>0.25
2147483647
;=>2147483647
-2147483648
;=>-2147483648
2147483648
;=>2.14748e+09
(type 2147483648)
;=>REAL
(type 1.)
;=>REAL
(type 1e3)
;=>REAL

;; Testing reals print with six significant digits and a decimal point
(/ 1.0 3)
;=>0.333333
1000.0
;=>1000.0
123456.0
;=>123456.0
1234567.0
;=>1.23457e+06
1e15
;=>1.0e+15
-2.5e20
;=>-2.5e+20
0.0001
;=>0.0001
0.00001
;=>1.0e-05
-0.0
;=>0.0
3.14159265
;=>3.14159

;; Testing strings and their escapes
"abc"
;=>"abc"
"a\\b"
;=>"a\\b"
"say \"hi\""
;=>"say \"hi\""
"a\nb\tc"
;=>"a\nb\tc"
(strlen "a\nb")
;=>3
(strlen "\t\r\e")
;=>3
"\101\102"
;=>"AB"
(strlen "\1011")
;=>2
"x\qy"
;=>"xqy"
"多段线"
;=>"多段线"
(strcat "two
lines")
;=>"two\nlines"

;; Testing symbols are case-insensitive and quote
(setq Abc 5)
;=>5
aBC
;=>5
'foo
;=>FOO
(quote Bar)
;=>BAR
''a
;=>(QUOTE A)
'1+
;=>1+
t
;=>T
nil
;=>nil
NIL
;=>nil
'()
;=>nil

;; Testing lists and dotted pairs
'(a b . c)
;=>(A B . C)
'(1 . 2)
;=>(1 . 2)
'((1.0 2.0 0.0) . 0.5)
;=>((1.0 2.0 0.0) . 0.5)
'(1 . (2 3))
;=>(1 2 3)
'(a (b (c)) "s")
;=>(A (B (C)) "s")
'(8 . "layer")
;=>(8 . "layer")
'(x.y 1.5)
;=>(X.Y 1.5)

;; Testing comments and several forms on a line
(+ 1 ; to the end of the line
2)
;=>3
(+ 1 ;| a block
comment |; 2)
;=>3
(setq a 1) (setq a (+ a 1))
;=>2
1 2 3
;=>3

;; Testing the printer
(list 1 "a" 2.5 'b nil t)
;=>(1 "a" 2.5 B nil T)
car
;=>#<SUBR CAR>
(defun sq (x) (* x x))
;=>SQ
sq
;=>#<USUBR SQ>
(lambda (x) x)
;=>#<USUBR LAMBDA>
(list "q\"uote" "back\\slash")
;=>("q\"uote" "back\\slash")

;; Testing the output functions
(princ "a\"b")
;/a"b
;=>"a\"b"
(prin1 "a\"b")
;/"a\"b"
;=>"a\"b"
(progn (print 12) (princ "|"))
;/\n12 |
;=>"|"
(princ '("a" b 1.5))
;/(a B 1.5)
;=>("a" B 1.5)
(prin1 '("a" b))
;/("a" B)
;=>("a" B)
(terpri)
;/\n
;=>nil
(princ)
;/
;=>
(progn (princ "x") (princ))
;/x
;=>
