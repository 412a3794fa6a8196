// An else block that opens and closes on the "}" line is a plain else, not an else-if. The
// reset scan counts that line's braces as balanced and finds no end for the function.
int c = 0;
int n = 0;
void setup() {
  if (c) {
    n = 1;
  } else { n = 7; }
  n = n + 100;
}
void loop() {
}
