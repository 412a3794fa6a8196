// Simulate Uno
/* Statements that the workbench takes without a word. */

initialize;
noTone(8);
noInterrupts();
interrupts();
(12);
((int)5);
{ noTone(9); }
noTone(1); noTone(2);
