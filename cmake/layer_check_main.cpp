// Linked with one core layer whole and the layers it may use: it builds only
// when the layer needs nothing else.
int main() {
    return 0;
}
