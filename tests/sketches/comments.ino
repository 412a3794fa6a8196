// Simulate Uno
/* A block comment
   over three lines; nothing here runs */
first;  // a trailing comment
/* inline */ second;
third; /* opens a comment
still inside; */ fourth;
a /* x */ b /* y */ c;
say("http://example.org");
ch = '/';
note = "/* not a comment */";
/* one */ /* two */
// label: lines and bare words are not executable
start:
word
last;
