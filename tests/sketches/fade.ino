// Simulate Uno
// A lamp on pin 9 glows up to full and back down, one shade every 30 ms.
const int lampPin = 9;
int shade = 0;
int stride = 51;

void setup() {
  pinMode(lampPin, OUTPUT);
}

void loop() {
  analogWrite(lampPin, shade);
  delay(30);
  // Turn round at either end, so the shade never leaves 0..255.
  if (shade + stride > 255 || shade + stride < 0) stride = 0 - stride;
  shade += stride;
}
