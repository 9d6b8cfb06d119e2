;; Testing load and findfile in the working folder (the test's own)
(setq f (open "shapes.lsp" "w"))
;=>#<file "shapes.lsp">
(progn (write-line "(defun c:shapes () (princ \"shapes\") (princ))" f) (write-line "(setq loaded (1+ (if loaded loaded 0)))" f) (write-line "(defun c:twice () 2)" f) (close f))
;=>nil
(load "shapes")
;=>C:TWICE
!loaded
;=>1
(load "shapes.lsp")
;=>C:TWICE
!loaded
;=>2
shapes
;/shapes
(wcmatch (findfile "shapes.lsp") "/*/shapes.lsp")
;=>T
(findfile "shapes")
;=>nil
(load "nosuch" 'none)
;=>NONE
(load "nosuch" (lambda () "called"))
;=>"called"
(load "nosuch")
;!LOAD failed: "nosuch"
(progn (setq f (open "broken.lsp" "w")) (write-line "(defun broken (" f) (close f))
;=>nil
(load "broken")
;!LOAD failed: "broken": malformed list on input
(progn (setq f (open "self.lsp" "w")) (write-line "(load \"self\")" f) (close f))
;=>nil
(vl-catch-all-error-p (vl-catch-all-apply 'load '("self")))
;=>T
(progn (setq f (open "fails.lsp" "w")) (write-line "(setq before 1) (car 1) (setq after 1)" f) (close f))
;=>nil
(load "fails")
;!bad argument type: consp: 1
(list before after)
;=>(1 nil)

;; Testing trans with the world as the user system
(trans '(5 1 0) 0 1)
;=>(5.0 1.0 0.0)
(trans '(5 1) 1 0)
;=>(5.0 1.0 0.0)
(trans '(1 2 3) '(0 0 1) 0)
;=>(1.0 2.0 3.0)
(trans '(1 0 0) 0 '(1 0 0))
;=>(0.0 0.0 1.0)
(trans '(0 0 1) '(1 0 0) 0)
;=>(1.0 0.0 0.0)
(trans '(1 2) 7 0)
;!bad argument value: coordinate system: 7
(trans '(1 2) '(0 0 0) 0)
;!bad argument value: extrusion: (0 0 0)

;; Testing the environment
(setenv "MyTool" "on")
;=>"on"
(getenv "MyTool")
;=>"on"
(getenv "mytool-unset")
;=>nil
