// Simulate Uno
a(); b(); c();
Serial.println("a;b");
before = 1; after = 2;
int i; int loops = 0;
for (i = 0; i < 3; i++) {
  loops++;
}
format = 2; done = 1;
DDRB = 32; PORTB = 32;
