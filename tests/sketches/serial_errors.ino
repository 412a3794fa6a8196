// Simulate Uno
// Port misuse: printing before begin, a command the ports lack, a software port whose
// library was not included, and a second hardware port on the Uno.
SoftwareSerial link(2, 3);

void setup() {
  Serial.println("too early");
  Serial.begin(9600);
  Serial.println("now");
  int n = Serial.parseInt();
  link.begin(9600);
  Serial1.begin(9600);
  Serial1.print(1);
}

void loop() {
}
