// Simulate Uno
/*
  Blink and count: the on-board LED blinks while the
  serial port prints how many times it has blinked.
*/
int led = 13;
int count = 0;

void setup() {
	pinMode(led, OUTPUT);
	Serial.begin(9600);
}

void loop() {
	blink();
	count = count + 1;
	Serial.print("Blinks: ");
	Serial.println(count);
}

void blink() {
	digitalWrite(led, HIGH);
	delay(500);
	digitalWrite(led, LOW);
	delay(500);
}
