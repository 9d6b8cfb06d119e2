;; A new drawing has no folder: bare names are files of the working folder (the test's own).

;; Testing writing and reading a text file
(setq f (open "notes.txt" "w"))
;=>#<file "notes.txt">
(write-line "total 12" f)
;=>"total 12"
(write-line "高程 64.70" f)
;=>"高程 64.70"
(princ 1.5 f)
;=>1.5
(write-char 66 f)
;=>66
(close f)
;=>nil
(setq f (open "notes.txt" "r"))
;=>#<file "notes.txt">
(read-line f)
;=>"total 12"
(read-line f)
;=>"高程 64.70"
(read-char f)
;=>49
(read-line f)
;=>".5B"
(read-line f)
;=>nil
(read-char f)
;=>nil
(close f)
;=>nil
(close f)
;!bad argument type: streamp: #<file "notes.txt">
(read-line f)
;!bad argument type: streamp: #<file "notes.txt">
(type f)
;=>FILE

;; Testing appending, line ends and the wrong direction
(setq f (open "notes.txt" "A"))
;=>#<file "notes.txt">
(read-line f)
;!bad argument value: file open for writing: #<file "notes.txt">
(progn (write-char 13 f) (write-char 10 f) (write-line "last" f) (close f))
;=>nil
(setq f (open "notes.txt" "r") lines nil)
;=>nil
(while (setq l (read-line f)) (setq lines (cons l lines)))
;=>("last" "1.5B" "高程 64.70" "total 12")
(close f)
;=>nil
(reverse lines)
;=>("total 12" "高程 64.70" "1.5B" "last")
(setq f (open "notes.txt" "r"))
;=>#<file "notes.txt">
(progn (repeat 2 (read-line f)) (list (read-char f) (read-char f) (read-char f)))
;=>(49 46 53)
(progn (read-char f) (read-char f))
;=>10
(close f)
;=>nil
(write-line "x" f)
;!bad argument type: streamp: #<file "notes.txt">

;; Testing files that cannot be opened
(open "no/such/folder/x.txt" "w")
;=>nil
(open "missing.txt" "r")
;=>nil
(open "notes.txt" "x")
;!bad argument value: file mode: "x"
(open "notes.txt" "w" "klingon")
;!bad argument value: encoding: "klingon"
(write-char 0 (open "zero.txt" "w"))
;!bad argument value: character code: 0

;; Testing code pages: the drawing's (a new drawing's is ANSI_936) and named ones; the GBK
;; bytes of 高程 (B8 DF B3 CC) read as UTF-8 are three characters (DF B3 is one)
(setq f (open "gbk.txt" "w" "ANSI_936"))
;=>#<file "gbk.txt">
(progn (write-line "高程" f) (close f))
;=>nil
(setq f (open "gbk.txt" "r"))
;=>#<file "gbk.txt">
(read-line f)
;=>"高程"
(close f)
;=>nil
(setq f (open "gbk.txt" "r" "utf8"))
;=>#<file "gbk.txt">
(strlen (read-line f))
;=>3
(close f)
;=>nil
(setq f (open "bom.txt" "w" "utf8-bom"))
;=>#<file "bom.txt">
(progn (write-line "a" f) (close f))
;=>nil
(setq f (open "bom.txt" "r" "ANSI_1252"))
;=>#<file "bom.txt">
(read-line f)
;=>"ï»¿a"
(close f)
;=>nil
(setq f (open "bom.txt" "r"))
;=>#<file "bom.txt">
(read-line f)
;=>"a"
(close f)
;=>nil

;; Testing the command line as a file
(write-line "hello")
;/hello
;/"hello"
(prompt "Done.")
;/Done.
;/nil
(alert "Layer locked")
;/
;/Layer locked
;/nil
(read-line)
typed at the prompt
;=>"typed at the prompt"
(princ "a" nil)
;/a
;/"a"
