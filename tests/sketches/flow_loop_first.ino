// loop() written before setup() is found all the same, and runs after it.
int n = 0;
void loop() {
  n++;
}
void setup() {
  n = 10;
}
