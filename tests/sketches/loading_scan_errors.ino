// The reset reports a statement it cannot run and a function without its closing brace, and
// goes on; the start function, found by its text, has no body, so the cursor is past the end.
x = 5;
void f() {
  a;
void setup() {
