// Directives inside setup(), reached by the step: the skipped branches do not run.
int x = 0;
void setup() {
#if 0
  x = 1;
#else
  x = 2;
#endif
#ifdef FOO
  x = 50;
#endif
#ifndef FOO
  x = x + 10;
#endif
  x = x * 2;
}
void loop() {
}
