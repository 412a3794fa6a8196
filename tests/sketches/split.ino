// Simulate Uno
a(); b(); c();
Serial.println("a;b");
before = 1; after = 2;
for (i = 0; i < 3; i++) {
format = 2; done = 1;
DDRB = 32; PORTB = 32;
