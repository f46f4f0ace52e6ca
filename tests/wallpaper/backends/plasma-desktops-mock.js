// Runs a script meant for plasmashell's evaluateScript against two mock desktops and prints
// what it did to them as JSON. Usage: node plasma-desktops-mock.js SCRIPT-FILE
'use strict';
const fs = require('fs');

class Desktop {
    constructor() {
        this.wallpaperPlugin = 'org.kde.slideshow';
        this.currentConfigGroup = [];
        this.writes = [];
    }
    writeConfig(key, value) {
        if (arguments.length !== 2)
            throw new Error('writeConfig takes a key and a value');
        this.writes.push({
            plugin: this.wallpaperPlugin,
            group: this.currentConfigGroup.join('/'),
            key: key,
            value: value,
        });
    }
}

const all = [new Desktop(), new Desktop()];
const script = fs.readFileSync(process.argv[2], 'utf8');
new Function('desktops', script)(() => all);
process.stdout.write(JSON.stringify(all.map((d) => d.writes)));
