// Simulate Uno
// Port registers drive the Uno's pins directly.
DDRB = 0x3F;      // pins 8..13 outputs
PORTB = 32;       // pin 13 high, 8..12 low
DDRD = 255;       // pins 0..7 outputs, labelled PD0..PD7
PORTD = B10100101;
PORTB = 0;        // pin 13 low again
DDRA = 1;         // the Uno has no port A: no pin changes
