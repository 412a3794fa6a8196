// Simulate Mega
DDRA = 255;
PORTA = 1;        // pin 29
DDRC = 1;         // pin 37, PC0
PORTK = 1;        // analog pin A8
DDRE = 4;         // bit 2 of port E has no pin
DDRD = 255;       // pins 21, 20, 19, 18 and 38
PORTD = 255;
