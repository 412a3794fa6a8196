// Simulate Uno
// Fade: pin 9 brightens and dims in five steps each way.
int led = 9;
int brightness = 0;
int fadeAmount = 51;

void setup() {
  pinMode(led, OUTPUT);
}

void loop() {
  analogWrite(led, brightness);
  brightness = brightness + fadeAmount;
  if (brightness <= 0 || brightness >= 255) {
    fadeAmount = -fadeAmount;
  }
  delay(30);
}
