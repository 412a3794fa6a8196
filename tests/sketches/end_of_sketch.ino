// Simulate Uno
DDRB = 32;
PORTB = 32;
PORTB = 0;
// the end
