// Simulate Uno
// Button: the light follows a push button on pin 2.
const int buttonPin = 2;
const int ledPin = 13;
int buttonState = 0;
int presses = 0;

void setup() {
  pinMode(ledPin, OUTPUT);
  pinMode(buttonPin, INPUT);
}

void loop() {
  buttonState = digitalRead(buttonPin);
  if (buttonState == HIGH) {
    digitalWrite(ledPin, HIGH);
    presses++;
  } else {
    digitalWrite(ledPin, LOW);
  }
}
