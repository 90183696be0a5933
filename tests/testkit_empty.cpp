// Placeholder so the test-support library exists before its first helper lands.
