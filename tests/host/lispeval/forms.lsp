;; Testing setq with several pairs
(setq a 1 b (+ a 1) c (* b 10))
;=>20
(list a b c)
;=>(1 2 20)
undefined-variable
;=>nil

;; Testing if
(if t 1 2)
;=>1
(if nil 1 2)
;=>2
(if nil 1)
;=>nil
(if 0 "zero is true")
;=>"zero is true"
(if (= 1 1) (setq r "then") (setq r "else"))
;=>"then"
r
;=>"then"

;; Testing cond
(cond ((= 1 2) "a") ((= 1 1) "b") (t "c"))
;=>"b"
(cond ((= 1 2) "a"))
;=>nil
(cond ((+ 1 2)))
;=>3
(cond (nil 1) (t 2 3))
;=>3
(cond)
;=>nil

;; Testing progn
(progn 1 2 3)
;=>3
(progn)
;=>nil

;; Testing while
(setq i 0 s 0)
;=>0
(while (< i 5) (setq s (+ s i)) (setq i (1+ i)))
;=>5
s
;=>10
(while nil 1)
;=>nil

;; Testing repeat
(setq n 0)
;=>0
(repeat 4 (setq n (+ n 2)))
;=>8
(repeat 0 (setq n 99))
;=>nil
(repeat -3 (setq n 99))
;=>nil
n
;=>8

;; Testing foreach binds its variable only while it runs
(setq s 0)
;=>0
(foreach x '(1 2 3) (setq s (+ s x)))
;=>6
(foreach x nil 1)
;=>nil
(setq x "outer")
;=>"outer"
(foreach x '(1 2) x)
;=>2
x
;=>"outer"

;; Testing defun and calls
(defun add (a b) (+ a b))
;=>ADD
(add 2 3)
;=>5
(ADD 2.5 1)
;=>3.5
(defun Fact (n) (if (<= n 1) 1 (* n (fact (1- n)))))
;=>FACT
(fact 10)
;=>3628800
(fact 12)
;=>479001600
(defun noargs () 7)
;=>NOARGS
(noargs)
;=>7
(defun empty ())
;=>EMPTY
(empty)
;=>nil
(defun add (a b) (- a b))
;=>ADD
(add 2 3)
;=>-1

;; Testing parameters and locals bind dynamically and are restored
(setq v 1)
;=>1
(defun uselocal (/ v) (setq v 5) v)
;=>USELOCAL
(uselocal)
;=>5
v
;=>1
(defun locnil (/ v) v)
;=>LOCNIL
(locnil)
;=>nil
(defun show () v)
;=>SHOW
(defun shadow (v) (show))
;=>SHADOW
(shadow 42)
;=>42
v
;=>1
(defun setsglobal () (setq fresh 3))
;=>SETSGLOBAL
(setsglobal)
;=>3
fresh
;=>3

;; Testing deep but finite recursion
(defun deep (n) (if (= n 0) 0 (1+ (deep (1- n)))))
;=>DEEP
(deep 1000)
;=>1000

;; Testing and and or give T or nil and stop early
(and 1 2)
;=>T
(and 1 nil)
;=>nil
(and)
;=>T
(or nil 2)
;=>T
(or)
;=>nil
(or nil nil)
;=>nil
(setq z 0)
;=>0
(and nil (setq z 1))
;=>nil
(or t (setq z 2))
;=>T
z
;=>0

;; Testing lambda
((lambda (x y) (+ x y)) 1 2)
;=>3
(setq twice (lambda (x) (* 2 x)))
;=>#<USUBR LAMBDA>
(twice 21)
;=>42

;; Testing eval, set, boundp, read
(set 'q 9)
;=>9
q
;=>9
(set (read "W2") "via read")
;=>"via read"
w2
;=>"via read"
(eval '(+ 1 2))
;=>3
(eval (read "(* 2 21)"))
;=>42
(read "abc def")
;=>ABC
(read "")
;=>nil
(boundp 'q)
;=>T
(boundp 'never-set)
;=>nil
(boundp 'car)
;=>T
(setq q nil)
;=>nil
(boundp 'q)
;=>nil

;; Testing a user *error* function sees the message
(defun *error* (msg) (princ (strcat "caught: " msg)))
;=>*ERROR*
(car 1)
;/caught: bad argument type: consp: 1
;!bad argument type: consp: 1
(setq *error* nil)
;=>nil
