// Selection sets: named, ordered lists of entity names made by acedSSGet or acedSSAdd.
// Whoever makes a set frees it with acedSSFree; after every command and LISP call the host
// reports sets that are still alive (except those handed to LISP as results).
//
// acedSSGet(str, pt1, pt2, filter, ss), str the selection mode:
//   nullptr or ""  ask "Select objects: " and read items until an empty line; with pt1, the
//                  entity picked at pt1 (nothing is asked)
//   "X"            every entity of the drawing
//   "_A"           every entity of the current space not on a frozen layer
//   "_W", "_C"     window or crossing between the corners pt1 and pt2
//   "_F", "_CP", "_WP"  fence / polygons through the RT3DPOINT or RTPOINT chain passed as pt1
//   ":S" with pt1  a single pick at pt1; without pt1, one interactive item
//   "+L", "+.", ":S", ":D", ":L" may be combined for interactive selection: single item
//   (the first item that selects something ends it), point picks only, duplicates allowed,
//   entities on locked layers refused.
// Answers RTNORM with a new set when something was selected, RTERROR (errno set) when
// nothing was, RTCAN when the user cancelled, RTREJ for a mode the host refuses. filter is
// a chain of group codes with -4 operators ("<AND" … "AND>", "<OR", "<NOT", "<XOR" and the
// comparisons "=", "!=", "<", ">", "<=", ">=", "*"), nullptr for none. The type group 0 may
// come as RTDXF0, as acutBuildList needs it.
#pragma once

#include <acut/ResBuf.h>

int acedSSGet(const char* str, const void* pt1, const void* pt2, const resbuf* filter, ads_name ss);
int acedSSFree(const ads_name sname);
// RTNORM with the number of members, RTERROR for an unknown set.
int acedSSLength(const ads_name sname, std::int32_t* len);
// The member at index i (0-based). RTERROR for an unknown set or an index out of range.
int acedSSName(const ads_name ss, std::int32_t i, ads_name entres);
// Adds ename to sname and names the result in result. With a null ename and a null sname a
// new empty set is made; with a null sname a new set of ename alone; otherwise result names
// sname itself. Adding a member twice keeps one.
int acedSSAdd(const ads_name ename, const ads_name sname, ads_name result);
// Removes ename from ss. RTERROR when ename is no member or the set is unknown.
int acedSSDel(const ads_name ename, const ads_name ss);
// RTNORM when ename is a member, RTERROR otherwise.
int acedSSMemb(const ads_name ename, const ads_name ss);
