// Simulate Uno
// A ";" alone, or after a statement, does nothing.
int x;

void setup() {
  x = 1;;
  delay(1);;
  ;;
  ;
  x = x + 1; ;
}

void loop() {
}
