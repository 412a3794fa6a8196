// Our own header: pin names for include_local.ino
#define RED_PIN 9
int brightness = 128;
