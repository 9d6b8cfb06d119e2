;; Testing vl-sort and vl-sort-i
(vl-sort '(5 1 5 2) '<)
;=>(1 2 5)
(vl-sort '(3 1 2) '>)
;=>(3 2 1)
(vl-sort '("pear" "Apple" "fig") '<)
;=>("Apple" "fig" "pear")
(vl-sort '((2 "b") (1 "a") (3 "c")) (function (lambda (a b) (< (car a) (car b)))))
;=>((1 "a") (2 "b") (3 "c"))
(vl-sort nil '<)
;=>nil
(vl-sort-i '(30 10 20 10) '<)
;=>(3 1 2 0)
(vl-sort-i '("b" "a" "c") '<)
;=>(1 0 2)
(length (vl-sort '(4 2 9 1 7 3 8) (function (lambda (a b) T))))
;=>7
(vl-sort '(2 1) 'car)
;!too many arguments
(vl-sort '(1 . 2) '<)
;!bad list: (1 . 2)

;; Testing searching and removing
(vl-position "b" '("a" "b"))
;=>1
(vl-position 9 '(1 2))
;=>nil
(vl-position '(1 2) '(0 (1 2)))
;=>1
(vl-remove 2 '(1 2 3 2))
;=>(1 3)
(vl-remove-if 'minusp '(1 -2 3))
;=>(1 3)
(vl-remove-if-not 'minusp '(1 -2 3))
;=>(-2)
(vl-member-if 'stringp '(1 "x" 2))
;=>("x" 2)
(vl-member-if-not 'numberp '(1 "x" 2))
;=>("x" 2)
(vl-some 'numberp '("a" 4))
;=>T
(vl-some '(lambda (a b) (if (> a b) (- a b))) '(1 5 9) '(2 3 4))
;=>2
(vl-some 'numberp nil)
;=>nil
(vl-every 'numberp '(1 2.0))
;=>T
(vl-every '= '(1 2) '(1 2 3))
;=>T
(vl-every '= '(1 2) '(1 3))
;=>nil
(vl-every 'numberp nil)
;=>T
(vl-list* 1 2 '(3 4))
;=>(1 2 3 4)
(vl-list* 1 2)
;=>(1 . 2)

;; Testing vl-catch-all-apply keeps errors from ending the program
(setq r (vl-catch-all-apply '/ '(5 0)))
;=>#<%catch-all-apply-error%>
(vl-catch-all-error-p r)
;=>T
(vl-catch-all-error-message r)
;=>"divide by zero"
(type r)
;=>VL-CATCH-ALL-APPLY-ERROR
(vl-catch-all-apply '+ '(1 2))
;=>3
(vl-catch-all-error-p 3)
;=>nil
(vl-catch-all-error-message "x")
;!bad argument type: vl-catch-all-apply-error-p: "x"
(vl-catch-all-error-message (vl-catch-all-apply 'nosuchfn nil))
;=>"no function definition: NOSUCHFN"
(vl-catch-all-error-message (vl-catch-all-apply '(lambda () (exit)) nil))
;=>"quit / exit abort"
(defun deep (n) (deep (1+ n)))
;=>DEEP
(vl-catch-all-error-p (vl-catch-all-apply 'deep '(0)))
;=>T

;; Testing values as text
(vl-princ-to-string '(1 "a"))
;=>"(1 a)"
(vl-prin1-to-string '(1 "a"))
;=>"(1 \"a\")"
(vl-prin1-to-string "q\"")
;=>"\"q\\\"\""
(acad_strlsort '("pear" "apple" "fig"))
;=>("apple" "fig" "pear")
(acad_strlsort '("b" "B" "a" "A"))
;=>("A" "a" "B" "b")
(acad_strlsort '("a" 1))
;=>nil
(acad_strlsort 5)
;=>nil

;; Testing the vl-string functions
(vl-string-subst "cat" "dog" "dog and dog")
;=>"cat and dog"
(vl-string-subst "cat" "dog" "dog and dog" 1)
;=>"dog and cat"
(vl-string-subst "x" "zz" "abc")
;=>"abc"
(vl-string-search "an" "banana" 2)
;=>3
(vl-string-search "an" "banana")
;=>1
(vl-string-search "x" "banana")
;=>nil
(vl-string-search "点" "高程点注记")
;=>2
(vl-string-trim " *" "** hi **")
;=>"hi"
(vl-string-left-trim " *" "** hi **")
;=>"hi **"
(vl-string-right-trim " *" "** hi **")
;=>"** hi"
(vl-string-trim " " "   ")
;=>""
(vl-string-translate "abc" "xyz" "cabbage")
;=>"zxyyxge"
(vl-string-translate "ab" "x" "abba")
;=>"xbbx"
(vl-string->list "AB")
;=>(65 66)
(vl-string->list "")
;=>nil
(vl-string->list "点")
;=>(28857)
(vl-list->string '(72 105))
;=>"Hi"
(vl-list->string nil)
;=>""
(vl-list->string '(0))
;!bad argument value: character code: 0
(vl-string-position (ascii "z") "azbdc az")
;=>1
(vl-string-position (ascii "z") "azbdc az" nil T)
;=>7
