// Simulate Uno
// A String holds at most 65,535 characters: doubling it stops with an error once it would
// hold more, and the String keeps what it had. Then the sketch empties it and waits.
String s = "ab";
long n;
int passes;

void setup() {
}

void loop() {
  s = s + s;
  n = s.length();
  passes++;
  if (passes == 16) {
    s = "";
    while (true);
  }
}
