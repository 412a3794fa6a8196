// setup() walks on to loop() past the functions and globals between them; a global the reset
// made keeps what setup() gave it; loop() runs again and again.
int counter = 0;
void setup() {
  counter = 5;
  g = 3;
}
int g = 1;
void helper() {
  counter = 99;
}
void loop() {
  counter++;
}
