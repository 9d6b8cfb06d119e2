;; Testing list construction
(list 1 2 3)
;=>(1 2 3)
(list)
;=>nil
(cons 1 '(2 3))
;=>(1 2 3)
(cons 1 2)
;=>(1 . 2)
(cons '(1 2) 3)
;=>((1 2) . 3)
(cons 1 nil)
;=>(1)
(cons nil nil)
;=>(nil)

;; Testing car, cdr and their compositions
(car '(1 2 3))
;=>1
(cdr '(1 2 3))
;=>(2 3)
(car nil)
;=>nil
(cdr nil)
;=>nil
(cdr '(1 . 2))
;=>2
(cadr '(1 2 3))
;=>2
(caddr '(1 2 3))
;=>3
(cddr '(1 2 3))
;=>(3)
(caar '((1 2) 3))
;=>1
(cdar '((1 2) 3))
;=>(2)
(cadr '(1))
;=>nil
(caddr '(1 2))
;=>nil
(cadr '(10 1.0 2.0 0.0))
;=>1.0

;; Testing every composition of car and cdr up to four deep
(setq tree '((((1 2) 3) 4) (5 6) 7 8))
;=>((((1 2) 3) 4) (5 6) 7 8)
(caaar tree)
;=>(1 2)
(caaaar tree)
;=>1
(cdaaar tree)
;=>(2)
(cadddr tree)
;=>8
(cddddr tree)
;=>nil
(caddr tree)
;=>7
(cdadr tree)
;=>(6)
(cadadr tree)
;=>6
(cadr '(1))
;=>nil
(cdr '(8 . "0"))
;=>"0"
(caddr 5)
;!bad argument type: consp: 5

;; Testing nth, last, length
(nth 0 '(a b c))
;=>A
(nth 2 '(a b c))
;=>C
(nth 3 '(a b c))
;=>nil
(last '(1 2 3))
;=>3
(last '(1 (2 3)))
;=>(2 3)
(last nil)
;=>nil
(length '(1 2 3))
;=>3
(length nil)
;=>0
(length '((1 2) (3)))
;=>2

;; Testing append, reverse, subst
(append '(1 2) '(3) nil '(4 5))
;=>(1 2 3 4 5)
(append)
;=>nil
(append '(1) '((2)))
;=>(1 (2))
(reverse '(1 (2 3) 4))
;=>(4 (2 3) 1)
(reverse nil)
;=>nil
(subst 9 2 '(1 2 3 2))
;=>(1 9 3 9)
(subst '(8 . "new") '(8 . "0") '((0 . "LINE") (8 . "0")))
;=>((0 . "LINE") (8 . "new"))

;; Testing assoc and member compare with equal
(setq ed '((0 . "LINE") (8 . "0") (10 1.0 2.0 0.0)))
;=>((0 . "LINE") (8 . "0") (10 1.0 2.0 0.0))
(assoc 8 ed)
;=>(8 . "0")
(assoc 10 ed)
;=>(10 1.0 2.0 0.0)
(cdr (assoc 10 ed))
;=>(1.0 2.0 0.0)
(cdr (assoc 0 ed))
;=>"LINE"
(assoc 99 ed)
;=>nil
(assoc "b" '(("a" 1) ("b" 2)))
;=>("b" 2)
(assoc 1 '(2 (1 . x)))
;=>(1 . X)
(member 3 '(1 2 3 4))
;=>(3 4)
(member '(2) '(1 (2) 3))
;=>((2) 3)
(member 5 '(1 2))
;=>nil

;; Testing eq and equal
(eq 'a 'A)
;=>T
(eq 1 1)
;=>T
(eq '(1) '(1))
;=>nil
(setq l '(1 2))
;=>(1 2)
(eq l l)
;=>T
(equal '(1 (2 "x")) '(1 (2 "x")))
;=>T
(equal '(1 2) '(1 2 3))
;=>nil
(equal 1.0 1.05 0.1)
;=>T
(equal 1.0 1.2 0.1)
;=>nil
(equal '(1.0 2.0) '(1.001 2.0) 0.01)
;=>T
(equal "a" "A")
;=>nil
(equal '(1 . 2) '(1 . 2))
;=>T

;; Testing the list predicates and type
(atom 'a)
;=>T
(atom '(1))
;=>nil
(atom nil)
;=>T
(listp nil)
;=>T
(listp '(1))
;=>T
(listp 1)
;=>nil
(null nil)
;=>T
(not 1)
;=>nil
(type 1)
;=>INT
(type 1.0)
;=>REAL
(type "s")
;=>STR
(type 'a)
;=>SYM
(type t)
;=>SYM
(type '(1))
;=>LIST
(type car)
;=>SUBR
(defun f0 () 1)
;=>F0
(type f0)
;=>USUBR
(type nil)
;=>nil

;; Testing mapcar and apply
(mapcar '1+ '(1 2 3))
;=>(2 3 4)
(mapcar '+ '(1 2 3) '(10 20))
;=>(11 22)
(mapcar (function (lambda (x) (* x x))) '(1 2 3))
;=>(1 4 9)
(mapcar '(lambda (x) (* 2 x)) '(1 2))
;=>(2 4)
(mapcar 'car '((1 2) (3 4)))
;=>(1 3)
(apply '+ '(1 2 3))
;=>6
(apply 'max '(4 9 2))
;=>9
(apply (function (lambda (a b) (list b a))) '(1 2))
;=>(2 1)

;; Testing long lists are built and freed without deep recursion
(setq big nil i 0)
;=>0
(repeat 200000 (setq big (cons i big)) (setq i (1+ i)))
;=>200000
(length big)
;=>200000
(car big)
;=>199999
(last big)
;=>0
(length (reverse big))
;=>200000
(setq big nil)
;=>nil
;; Testing deeply nested lists compare without deep recursion
(setq a nil b nil)
;=>nil
(repeat 200000 (setq a (list a) b (list b)) nil)
;=>nil
(equal a b)
;=>T
(equal a (list b))
;=>nil
(length (member a (list 1 b 2)))
;=>2
(cdr (assoc b (list (cons 1 1) (cons a 2))))
;=>2
(subst 0 a (list 1 b 2))
;=>(1 0 2)
(setq a nil b nil)
;=>nil

;; Testing lists sharing their cells compare and print in bounded time
(setq c 1 d 1)
;=>1
(repeat 200 (setq c (cons c c) d (cons d d)) nil)
;=>nil
(equal c d)
;=>T
(equal c (cons d 1))
;=>nil
(< 16000000 (strlen (vl-prin1-to-string c)) 17000000)
;=>T
(setq l nil)
;=>nil
(repeat 1000 (setq l (cons 0 l)) nil)
;=>nil
(+ 1 l)
;!bad argument type: numberp: (0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 ...)
