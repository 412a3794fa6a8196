// setup() and loop() each on one line: each runs its whole body in one step.
int n = 0;
int m = 0;
void setup() { n = 10; m = 1; }
void loop() { n++; }
