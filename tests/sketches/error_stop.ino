// Simulate Uno
DDRB = 32;
foo;
PORTB = 32;
