// Simulate Uno
/* Stepping walks executable lines only:
   comments and blank lines are passed over. */

DDRB = 32;

// pin 13 on
PORTB = 32;
/* off */ PORTB = 0;


PORTB = 32; // and on again
