// A function that calls itself without end stops with an error once 20 calls are open.
void deeper(int n) {
  deeper(n + 1);
}
void setup() {
  deeper(0);
}
void loop() {
}
